// The debugger output channel: a replaceable sink that receives every formatted message.
#ifndef PLATFORM_DEBUGOUTPUT_H_
#define PLATFORM_DEBUGOUTPUT_H_

#include <functional>
#include <string>

using DebugOutputSink = std::function<void(const std::string&)>;

/// Replaces the sink and returns the previous one. An empty sink drops the text, which is
/// what happens by default where no debugger channel exists.
DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);

#endif  // PLATFORM_DEBUGOUTPUT_H_
