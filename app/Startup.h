#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace kemuyi {

class LearnerProgress;
class SpeechOutput;
class TForm1;
class TForm2;

// The name the platform shows for the running program (task bar, failure-box captions).
QString applicationTitle();

struct StartupOptions
{
    int splashIntervalMs = 3000;
    // Runs right after the two working windows exist; tests use it to stand in for slow creation.
    std::function<void()> afterWindowsCreated;
};

struct StartedWindows
{
    StartedWindows();
    StartedWindows(StartedWindows &&) noexcept;
    StartedWindows &operator=(StartedWindows &&) noexcept;
    ~StartedWindows();
    // The learner's progress file, outliving the windows that write to it.
    std::unique_ptr<LearnerProgress> progress;
    // Reading aloud, outliving the windows that speak through it.
    std::unique_ptr<SpeechOutput> speech;
    std::unique_ptr<TForm1> form1;
    TForm2 *form2 = nullptr; // owned by form1
};

// The start-up up to the main loop: the learner's window size, splash, title, the two windows,
// the wait until the splash may close, and the splash gone. Needs a QApplication.
StartedWindows runStartup(const StartupOptions &options = {});

// The whole program: start-up, then the main loop until the menu window closes.
int runProgram(int argc, char **argv);

} // namespace kemuyi
