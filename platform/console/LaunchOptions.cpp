#include "platform/console/LaunchOptions.h"

#include "platform/console/ISO8601DateTime.h"

namespace platform {

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
        } else {
            return fail("unknown option: " + argument);
        }
    }
    return options;
}

} // namespace platform
