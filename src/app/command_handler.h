#pragma once
#include <functional>

#include "app/command_line.h"

namespace dwl {

class Countdown;
class IClock;
class ScenarioBook;

// Carries out a command from the command line, here or handed over by a
// later start: an action through the countdown, a scenario into the book, a
// cancel of the countdown, each refused where the user could not do it.
class CommandHandler {
public:
    struct Services {
        Countdown& countdown;
        ScenarioBook& book;
        IClock& clock;
        std::function<bool()> lockInForce;    // the configuration lock
        std::function<bool()> lockSupported;  // the system offers locking
        std::function<bool()> use12Hour;      // the form the program writes times in
    };
    explicit CommandHandler(Services services) : services_(std::move(services)) {}

    CommandReply Run(const Command& command);

private:
    Services services_;
};

}  // namespace dwl
