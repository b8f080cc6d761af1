#include "shell/PellionApp.h"

int main(int argc, char **argv)
{
    return shell::runPellion(argc, argv);
}
