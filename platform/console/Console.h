#pragma once

#include "platform/console/CommandRegistry.h"

#include <istream>
#include <string>
#include <vector>

namespace platform {

class ConsoleOutput;
class HeadlessSession;

// The line console of a headless program: one command a line, each reply
// and every event of the window server written to the output (standard
// error in a program), while standard output stays the program's own.
class Console {
public:
    Console(HeadlessSession& session, ConsoleOutput& output);

    // Every command, "help" included, in the order of the help text.
    static CommandRegistry allCommands();
    // The --help text: usage, options and every command.
    static std::vector<std::string> helpText(const std::string& programName);

    CommandRegistry& commands() { return commands_; }

    // Runs one line (empty lines and comments do nothing).
    void execute(const std::string& line);
    // The program has ended (quit, or it terminated itself).
    bool isFinished() const;

    // Virtual clock: time moves only by command, so the console simply reads
    // line after line until the input ends or the program ends. The end of
    // the input quits the program.
    void run(std::istream& input);
    // Real clock: keeps the main run loop turning, waiting on the input
    // file descriptor between its timers.
    void runWithRealClock(int inputDescriptor);

private:
    void takeInput(const char* bytes, std::size_t count);
    void endOfInput();

    HeadlessSession& session_;
    ConsoleOutput& output_;
    CommandRegistry commands_;
    std::string pending_;
    int item_ = 0;
};

} // namespace platform
