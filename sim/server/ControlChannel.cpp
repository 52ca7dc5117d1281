#include "ControlChannel.h"

#include "SimMatrix.h"

#include <cstdio>
#include <unistd.h>

ControlChannel::ControlChannel(std::vector<SimMatrix*> matrices, QObject* parent)
    : QObject(parent), matrices_(std::move(matrices)), notifier_(STDIN_FILENO, QSocketNotifier::Read)
{
    connect(&notifier_, &QSocketNotifier::activated, this, &ControlChannel::OnReadable);
}

bool ControlChannel::Apply(const std::string& line, std::string* reply)
{
    std::string command = line;
    std::vector<SimMatrix*> targets = matrices_;
    if (!command.empty() && command[0] == '@') {
        const std::size_t space = command.find(' ');
        int number = 0;
        try {
            number = std::stoi(command.substr(1, space - 1));
        } catch (...) {
            number = 0;
        }
        if (number < 1 || number > static_cast<int>(matrices_.size())) {
            *reply = "error: no matrix " + command.substr(1, space - 1);
            return false;
        }
        targets = {matrices_[static_cast<std::size_t>(number - 1)]};
        command = space == std::string::npos ? std::string() : command.substr(space + 1);
    }
    bool ok = true;
    std::string message;
    for (SimMatrix* matrix : targets) {
        ControlResult result = matrix->Control(command);
        if (!result.ok) {
            ok = false;
            message = result.message;
        } else if (message.empty()) {
            message = result.message;
        }
    }
    *reply = ok ? (message.empty() ? "ok" : message + "ok") : "error: " + message;
    return ok;
}

void ControlChannel::OnReadable()
{
    char buffer[1024];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        // End of input (for example </dev/null): the matrix keeps running.
        notifier_.setEnabled(false);
        return;
    }
    pending_.append(buffer, static_cast<std::size_t>(got));
    // Bounded: a line longer than this is not a command.
    if (pending_.size() > 64 * 1024)
        pending_.clear();
    std::size_t end;
    while ((end = pending_.find('\n')) != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string reply;
        Apply(line, &reply);
        std::printf("%s\n", reply.c_str());
        std::fflush(stdout);
    }
}
