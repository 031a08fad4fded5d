// Entry point: the run's result becomes the process exit status.
#include "app/Driver.h"
#include "platform/ExitStatus.h"

int main(int argc, char* argv[]) { return ToProcessExitStatus(BrendixMain(argc, argv)); }
