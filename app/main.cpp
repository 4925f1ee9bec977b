#include "app/Designer.h"

int main(int argc, char **argv)
{
    return TDesigner::Run(argc, argv);
}
