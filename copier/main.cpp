#include "copier/copy_files.h"

int main(int argc, char** argv) {
    SystemCopyWriter writer;
    return runCopy(argc, argv, writer);
}
