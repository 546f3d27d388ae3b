#include "cli/button_lookup.h"

#include <algorithm>
#include <functional>

#include "core/file_messages.h"
#include "stamps/folded_name.h"

namespace cli {
namespace {

using stamps::ButtonSpec;
using stamps::foldedName;

std::vector<const ButtonSpec*> matching(const std::function<bool(const ButtonSpec&)>& pred) {
    std::vector<const ButtonSpec*> found;
    for (const ButtonSpec& button : stamps::allButtons())
        if (pred(button)) found.push_back(&button);
    return found;
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

} // namespace

std::string describeButton(const ButtonSpec& button) {
    return std::string(button.name) + " \"" + std::string(button.caption) + "\"";
}

std::vector<const ButtonSpec*> findButtons(std::string_view query) {
    const std::string key = foldedName(query);
    // Tried in order; the first that finds anything decides.
    const std::function<bool(const ButtonSpec&)> tiers[] = {
        [&](const ButtonSpec& b) { return b.name == query; },
        [&](const ButtonSpec& b) { return b.caption == query; },
        [&](const ButtonSpec& b) { return foldedName(b.name) == key || foldedName(b.caption) == key; },
    };
    for (const auto& tier : tiers)
        if (auto found = matching(tier); !found.empty()) return found;
    return {};
}

core::Result<const ButtonSpec*> lookupStamp(std::string_view query) {
    const auto found = findButtons(query);
    if (found.empty())
        return core::Status::usage("There is no button \"" + core::shownName(query) +
                                   "\". Closest: " + joined(closestButtons(query, 5)) + ".");
    std::vector<std::string> names;
    for (const ButtonSpec* button : found)
        names.push_back(describeButton(*button));
    if (std::none_of(found.begin(), found.end(), [](const ButtonSpec* b) { return stamps::isStamp(*b); }))
        return core::Status::usage(joined(names) +
                                   " cannot be pressed here: " + std::string(kNotStampsReason) + ".");
    if (found.size() > 1)
        return core::Status::usage("The button \"" + core::shownName(query) +
                                   "\" is ambiguous: press one of these by control name: " + joined(names) +
                                   ".");
    return found.front();
}

std::vector<std::string> closestButtons(std::string_view query, std::size_t count) {
    const std::string key = foldedName(query);
    std::vector<std::pair<std::size_t, const ButtonSpec*>> ranked;
    for (const ButtonSpec& button : stamps::allButtons()) {
        const std::string name = foldedName(button.name), caption = foldedName(button.caption);
        std::size_t distance = std::min(editDistance(key, name), editDistance(key, caption));
        // A name or caption that contains what was typed ("bikini" in "Thong Bikini") is close too.
        if (!key.empty() && (caption.find(key) != std::string::npos || name.find(key) != std::string::npos))
            distance = std::min<std::size_t>(distance, 1);
        ranked.emplace_back(distance, &button);
    }
    // Stable: equally close buttons keep the window's order.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (std::size_t i = 0; i < ranked.size() && i < count; ++i)
        names.push_back(describeButton(*ranked[i].second));
    return names;
}

} // namespace cli
