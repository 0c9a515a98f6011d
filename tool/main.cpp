#include "tool/run/run.h"
#include "tool/writers/output_file.h"

int main(int argc, char** argv) {
    letWriteLimitsFail();
    SystemOutputFiles files;
    return runQuelt(argc, argv, files);
}
