// draw_library OUTDIR: draws the 54 library pictures and writes each as OUTDIR/<image name>.bmp.
// The files in assets/ are its output; a test redraws them and compares byte for byte.

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "tools/draw_library/bmp_writer.h"
#include "tools/draw_library/library_drawing.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_library OUTDIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        for (const draw::DrawEntry& entry : draw::libraryPictures()) {
            const std::vector<std::uint8_t> bytes = draw::encodeDrawnBmp(entry.draw());
            const std::string path = folder + "/" + std::string(entry.name) + ".bmp";
            std::ofstream file(path, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            if (!file.flush()) {
                std::fprintf(stderr, "draw_library: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "draw_library: %s\n", error.what());
        return 1;
    }
    return 0;
}
