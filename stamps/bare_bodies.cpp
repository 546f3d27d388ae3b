// The bare bodies (see bare_bodies.h).

#include "stamps/bare_bodies.h"

#include <filesystem>

#include "core/codec/bmp.h"
#include "core/mask/garment_map.h"

namespace stamps {
namespace {

using core::ImageId;

constexpr LibraryBody kBodies[] = {
    {ImageId::imgLightBody, "Light Female", "light-female"},
    {ImageId::imgMedBody, "Medium Female", "medium-female"},
    {ImageId::imgDarkBody, "Dark Female", "dark-female"},
    {ImageId::imgMaleLight, "Light Male", "light-male"},
    {ImageId::imgMaleMed, "Medium Male", "medium-male"},
    {ImageId::imgMaleDark, "Dark Male", "dark-male"},
};

} // namespace

std::span<const LibraryBody> libraryBodies() {
    return kBodies;
}

const LibraryBody* findLibraryBody(std::string_view pictureName) {
    for (const LibraryBody& row : kBodies)
        if (core::imageName(row.image) == pictureName) return &row;
    return nullptr;
}

core::Result<BareBody> libraryBody(const LibraryBody& row, core::ImageLibrary& library) {
    const core::Picture& picture = library.picture(row.image);
    if (picture.isEmpty())
        return core::Status::error("The library picture " + std::string(core::imageName(row.image)) +
                                   " could not be read.");
    return BareBody{std::string(row.label), std::string(row.fileName), picture, {}};
}

core::Result<BareBody> bodyFromFile(const std::string& path) {
    core::Result<core::Picture> picture = core::loadPicture(path);
    if (!picture) return picture.status();
    if (core::Status sized = core::checkSkinSized(picture.value()); !sized)
        return sized.withContext("Cannot use " + path + " as a body");
    const std::filesystem::path file(path);
    return BareBody{file.filename().string(), file.stem().string(), std::move(picture).value(), path};
}

core::Result<BareBody> findBody(const std::string& nameOrFile, core::ImageLibrary& library) {
    if (const LibraryBody* row = findLibraryBody(nameOrFile)) return libraryBody(*row, library);
    return bodyFromFile(nameOrFile);
}

} // namespace stamps
