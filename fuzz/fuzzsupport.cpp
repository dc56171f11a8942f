#include "fuzzsupport.h"

#include "platform/eventloop.h"

// A widget application on the offscreen platform, made before the first input
// and never destroyed: Qt's GUI cannot be torn down from the exit handlers in
// which libFuzzer ends, and neither can the widgets the targets keep.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::prepareEventLoop();
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    return 0;
}

namespace fuzz {

void oneOf(Bytes& bytes, std::initializer_list<void (*)(Bytes&)> ways)
{
    ways.begin()[bytes.pick(int(ways.size()))](bytes);
}

} // namespace fuzz
