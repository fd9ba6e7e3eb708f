#include "app/AppMain.h"

int main(int argc, char **argv) { return RunTolvu(argc, argv); }
