#include "clients/ClientMain.h"

int main(int argc, char **argv)
{
    return clients::runClient(argc, argv, true);
}
