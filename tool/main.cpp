#include "tool/run.h"

int main(int argc, char** argv) {
    return runQuelt(argc, argv);
}
