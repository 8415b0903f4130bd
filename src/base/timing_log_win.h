// Where the time goes: with the environment variable KORVO_TIMING naming a
// file, each mark appends one line "<time> <ms since process start> <label>"
// to it (time: 100-ns units since 1601, so another program can line the marks
// up with its own clock). Without the variable a mark costs one branch.
#pragma once

void TimingMark(const char* label);
// Marks `label` once the thread has painted everything that is waiting to be
// painted (the message loop calls TimingIdle before it waits for a message).
void TimingMarkWhenPainted(const char* label);
void TimingIdle();
