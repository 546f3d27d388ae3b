#include "stamps/folded_name.h"

#include <cctype>

namespace stamps {

std::string foldedName(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ') {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += char(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

} // namespace stamps
