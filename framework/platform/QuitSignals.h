// QuitSignals: SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed
// terminal) turned into a flag the main loop polls, so the program can save
// and leave in order instead of dying or asking.
//
// Install() replaces the three handlers process-wide (SA_RESTART); call it
// before any SDL video starts (SDL's own handlers stay off through the hint
// the platform sets). The handler only stores the signal's number; Pending()
// returns the first one received since Install or Clear (0: none).
//
// Threads: Pending and Clear from any thread; the flag is a lock-free atomic.
#pragma once

namespace Framework::QuitSignals
{

void Install();
int Pending();
void Clear();
// Stores a signal as if it had arrived (tests and the platform's own uses).
void Raise(int signal);

} // namespace Framework::QuitSignals
