#include "joiner/join_run.h"

int main(int argc, char** argv) {
    return joinImages(argc, argv);
}
