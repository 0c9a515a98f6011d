#include "copier/copy_files.h"
#include "tool/output_file.h"

int main(int argc, char** argv) {
    letWriteLimitsFail();
    return runCopy(argc, argv);
}
