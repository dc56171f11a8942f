#include "support/recordinghelp.h"

RecordingHelp::RecordingHelp() : m_previous(&platform::Help::instance()) { platform::Help::setInstance(this); }

RecordingHelp::~RecordingHelp() { platform::Help::setInstance(m_previous); }
