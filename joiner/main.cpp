#include "joiner/join_run.h"

int main(int argc, char** argv) {
    SystemCopyWriter writer;
    return joinImages(argc, argv, writer);
}
