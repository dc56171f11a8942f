#pragma once
// The program's help: topics looked up by context number and shown in the
// program's help window. Tests install a service that records the contexts
// asked for instead of opening a window.

namespace platform {

class Help {
public:
    virtual ~Help() = default;
    // Shows the topic of the context in the program's help window (0, and a context
    // without a topic of its own: the contents).
    virtual void showContext(int context);

    // The service in force; by default the program's help window.
    static Help& instance();
    // Installs another service (tests); nullptr restores the default. Not owned.
    static void setInstance(Help* help);
};

} // namespace platform
