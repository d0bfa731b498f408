#include "platform/console/LaunchOptions.h"

#include "platform/console/ISO8601DateTime.h"
#include "platform/foundation/AsciiCase.h"
#include "platform/foundation/URL.h"

namespace platform {

namespace {

LaunchRequest requestForLaunchArgument(const std::string& argument) {
    LaunchRequest request;
    const auto url = URL::fromString(argument);
    const auto scheme = url ? url->scheme() : std::nullopt;
    if (!scheme) {
        request.kind = LaunchRequest::Kind::dropFile;
        request.target = argument;
    } else if (url->isFileURL()) {
        request.kind = LaunchRequest::Kind::dropFile;
        request.target = url->path();
    } else {
        const std::string lowered = asciiLowercased(*scheme);
        request.kind = lowered == "http" || lowered == "https" ? LaunchRequest::Kind::dropURL
                                                               : LaunchRequest::Kind::openURL;
        request.target = argument;
    }
    return request;
}

} // namespace

std::optional<LaunchOptions> LaunchOptions::parse(const std::vector<std::string>& arguments, std::string* error) {
    auto fail = [&](std::string message) -> std::optional<LaunchOptions> {
        if (error) {
            *error = std::move(message);
        }
        return std::nullopt;
    };
    LaunchOptions options;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--headless") {
            options.headless = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--clock" || argument.rfind("--clock=", 0) == 0) {
            std::string value;
            if (argument == "--clock") {
                if (index + 1 >= arguments.size()) {
                    return fail("--clock needs a date-time (2024-05-01T09:30:00Z)");
                }
                value = arguments[++index];
            } else {
                value = argument.substr(8);
            }
            options.clockStart = parseISO8601DateTime(value);
            if (!options.clockStart) {
                return fail("not an ISO 8601 date-time: " + value);
            }
        } else if (argument == "--drop-url" || argument == "--drop-file" || argument == "--open-url") {
            if (options.request) {
                return fail("one request at a time: " + argument);
            }
            if (index + 1 >= arguments.size() || arguments[index + 1].empty() ||
                arguments[index + 1].find('\n') != std::string::npos) {
                return fail(argument + " needs " + (argument == "--drop-file" ? "a path" : "a URL"));
            }
            LaunchRequest request;
            request.kind = argument == "--drop-url"    ? LaunchRequest::Kind::dropURL
                           : argument == "--drop-file" ? LaunchRequest::Kind::dropFile
                                                       : LaunchRequest::Kind::openURL;
            request.target = arguments[++index];
            // A title is the next argument unless that is an option.
            if (request.kind == LaunchRequest::Kind::dropURL && index + 1 < arguments.size() &&
                arguments[index + 1].rfind("--", 0) != 0) {
                std::string title = arguments[++index];
                // It travels as one line.
                for (char& c : title) {
                    if (c == '\n' || c == '\r') {
                        c = ' ';
                    }
                }
                request.title = std::move(title);
            }
            options.request = std::move(request);
        } else if (!argument.empty() && argument[0] != '-' && !options.request) {
            // What a launcher passes for "Exec=Program %U": a file, a web link, or
            // a URL of some other scheme (the program's own, to be opened).
            options.request = requestForLaunchArgument(argument);
        } else {
            return fail("unknown option: " + argument);
        }
    }
    return options;
}

} // namespace platform
