#include "explore/ExploreOptions.h"

#include "explore/Run.h"
#include "loading/TextData.h"

const char* const kExploreUsage =
    "usage: veldorin-explore [--seconds N | --runs N] [--seed S] [--place hub|stage1|stage2|all] [--frames N]\n"
    "                        [--out DIR] [--cases-per-rule N] [--game DIR] [--verbose]\n"
    "       veldorin-explore --replay FILE...\n";

bool ParseExploreOptions(const std::vector<std::string>& args, ExploreOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : "";
        int number = 0;
        auto count = [&](int& into, int least) {
            if (!ParseIntStrict(value, number) || number < least) return false;
            into = number;
            return true;
        };
        bool ok = hasValue;
        if (arg == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (arg == "--seconds") ok = ok && count(number, 1) && (options.seconds = number, true);
        else if (arg == "--runs") ok = ok && count(options.runs, 1);
        else if (arg == "--frames") ok = ok && count(options.frames, 1);
        else if (arg == "--cases-per-rule") ok = ok && count(options.casesPerRule, 0);
        else if (arg == "--seed") ok = ok && count(number, 0) && (options.seed = static_cast<uint32_t>(number), true);
        else if (arg == "--place") ok = ok && (value == "all" || FindPlace(value)) && (options.place = value, true);
        else if (arg == "--out") options.out = value;
        else if (arg == "--game") options.game = value;
        else if (arg == "--replay") {
            for (; i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0; ++i) options.replay.push_back(args[i + 1]);
            if (options.replay.empty()) ok = false;
            else continue;
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
        if (!ok) {
            error = "bad or missing value for " + arg;
            return false;
        }
        ++i;
    }
    return true;
}
