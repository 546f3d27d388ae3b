#include "core/file_messages.h"

#include <cstring>

namespace core {

std::string cannotOpen(std::string_view path) {
    return "Cannot open " + std::string(path);
}

std::string cannotSave(std::string_view path) {
    return "Cannot save " + std::string(path);
}

std::string systemReason(int error) {
    return std::string(std::strerror(error)) + ".";
}

Status noPictureToSave() {
    return Status::output("there is no picture to save.");
}

} // namespace core
