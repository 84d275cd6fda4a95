#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace dwl {

class Agenda;
class Countdown;
class IClock;
struct Occurrence;

// Carries out a command from the command line, here or handed over by a
// later start: an action through the countdown, a scenario into the book, a
// cancel of the countdown, a look at, a postponement or a skip of what comes
// next, each refused where the user could not do it.
class CommandHandler {
public:
    struct Services {
        Countdown& countdown;
        Agenda& agenda;
        IClock& clock;
        std::function<bool()> lockInForce;    // the configuration lock
        std::function<bool()> policyLocked;   // the administrator locks the settings
        // The administrator forbids postponing or skipping one of these.
        std::function<bool(const std::vector<Occurrence>&)> policyHolds;
        std::function<bool()> lockSupported;  // the system offers locking
        std::function<bool()> use12Hour;      // the form the program writes times in
    };
    explicit CommandHandler(Services services) : services_(std::move(services)) {}

    // `answer` gets what the later start prints besides the reply's text.
    CommandReply Run(const Command& command, std::string& answer);

private:
    CommandReply MoveNext(const Command& command, std::string& answer);

    Services services_;
};

}  // namespace dwl
