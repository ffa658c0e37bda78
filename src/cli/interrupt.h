// Ctrl+C for the console: a SIGINT handler that only sets flags. During an evaluation
// (and at the prompt) it asks for a cancel, read by the message pump and by the prompt;
// between evaluations outside the prompt it asks the program to stop, which the reading
// loops notice so that the output so far is still written.
#pragma once

// Installs the handler (interrupted system calls restart). With b停止可 a Ctrl+C between
// evaluations asks the program to stop; otherwise every Ctrl+C only asks for a cancel.
void f割込み設定(bool b停止可);

// Whether a Ctrl+C asked for a cancel since the flag was last taken; takes it.
bool f割込み取得();

// Drops a pending cancel request (one meant for the prompt must not cancel the next line).
void f割込み破棄();

// Marks the span of an evaluation, during which a Ctrl+C only asks for a cancel.
void f評価中設定(bool b評価中);

// Whether a Ctrl+C asked the program to stop.
bool f停止要求();

// Ends the program as an unhandled SIGINT would, so that a calling shell sees the
// interrupt; the caller has written its output.
[[noreturn]] void f割込み終了();

// Ends the program by the signal with its default action, whatever the disposition and
// the mask inherited from the parent were (a closed pipe: SIGPIPE, as cat or seq end).
[[noreturn]] void fシグナル終了(int sig);
