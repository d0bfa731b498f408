#pragma once

#include "platform/defaults/DefaultsFile.h"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The read-only view a program has of the global domain, beneath its own.
// Another process (the appearance service, the defaults tool) may replace the
// file at any time; each lookup compares the file's stamp with the version
// read last and reads it again when it changed. An unreadable file reads as
// empty and is left alone: only its writers move it aside.
class GlobalDomain {
public:
    explicit GlobalDomain(std::string path) : file_(std::move(path)) {}

    std::optional<PropertyList> object(std::string_view key);

private:
    void refresh();

    std::mutex mutex_;
    DefaultsFile file_;
    bool read_ = false;
    std::optional<FileStamp> stamp_;
    PropertyListDictionary values_;
};

} // namespace platform
