#include "Startup.h"

int main(int argc, char **argv)
{
    return kemuyi::runProgram(argc, argv);
}
