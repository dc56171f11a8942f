#include "support/recordingshell.h"

RecordingShell::RecordingShell() : m_previous(&platform::Shell::instance()) { platform::Shell::setInstance(this); }

RecordingShell::~RecordingShell() { platform::Shell::setInstance(m_previous); }
