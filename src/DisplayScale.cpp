#include "DisplayScale.h"

#include <QByteArray>
#include <charconv>

#include "files/GameSettings.h"

namespace zk {

std::optional<double> ParseDisplayScale(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    for (const double accepted : {1.0, 1.5, 2.0, 3.0}) {
        if (value == accepted) {
            return accepted;
        }
    }
    return std::nullopt;
}

std::optional<double> ChosenDisplayScale(int argc, const char* const* argv,
                                         const std::string& settingsFile,
                                         const std::function<void(const std::string&)>& rejected) {
    constexpr std::string_view Option = "--scale";
    std::optional<double> chosen;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        std::optional<std::string_view> value;
        if (argument == Option) {
            if (i + 1 >= argc) {
                rejected("--scale needs a value: 1, 1.5, 2 or 3.");
                break;
            }
            value = argv[++i];
        } else if (argument.starts_with(Option) && argument[Option.size()] == '=') {
            value = argument.substr(Option.size() + 1);
        } else {
            continue;
        }
        if (const auto scale = ParseDisplayScale(*value)) {
            chosen = scale;
        } else {
            rejected("--scale " + files::EscapedForMessage(*value) +
                     " ignored: the scale is 1, 1.5, 2 or 3.");
        }
    }
    if (chosen) {
        return chosen;
    }
    // The one key, not every setting: this runs before the window can map.
    const std::string stored =
        files::SettingsStore(settingsFile).ReadString(files::ExtrasSection, files::ScaleKey, "");
    if (stored.empty()) {
        return std::nullopt;
    }
    if (const auto scale = ParseDisplayScale(stored)) {
        return scale;
    }
    rejected("scale=" + files::EscapedForMessage(stored) + " in " +
             files::EscapedForMessage(settingsFile) + " ignored: the scale is 1, 1.5, 2 or 3.");
    return std::nullopt;
}

std::function<void()> ApplyDisplayScale(double scale) {
    static constexpr char Name[] = "QT_SCALE_FACTOR";
    std::optional<QByteArray> before;
    if (qEnvironmentVariableIsSet(Name)) {
        before = qgetenv(Name);
    }
    qputenv(Name, QByteArray::number(scale));
    return [before] {
        if (before) {
            qputenv(Name, *before);
        } else {
            qunsetenv(Name);
        }
    };
}

} // namespace zk
