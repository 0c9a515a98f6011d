#include "copier/copy_files.h"

int main(int argc, char** argv) {
    return runCopy(argc, argv);
}
