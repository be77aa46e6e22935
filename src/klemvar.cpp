#include "ui/frame/run.h"

int main(int argc, char** argv) { return klemvar::RunKlemvar(argc, argv); }
