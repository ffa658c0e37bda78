// The message pump the engine and the lexer call at their cancellation points.
// A front end registers a callback (the window: process pending events; the console:
// notice Ctrl+C and deadlines). Calls are rate-limited so that tight loops may call
// ProcessMessages freely; without a callback it does nothing.
#pragma once

#include <functional>

// Registers the callback run by ProcessMessages at most once per interval (milliseconds;
// 0 runs it on every call). An empty callback switches pumping off.
void SetMessagePump(std::function<void()> callback, int intervalMs = 2);

// Runs the registered callback when the interval has passed since it last ran.
// Re-entrant calls from inside the callback return at once.
void ProcessMessages();
