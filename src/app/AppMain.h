#pragma once
// Runs the program: start-up, message loop, shut-down. Returns the exit code.
int RunTolvu(int argc, char **argv);
