#include "runner/RunnerMain.h"

int main(int argc, char **argv)
{
    return runner::runRunner(argc, argv);
}
