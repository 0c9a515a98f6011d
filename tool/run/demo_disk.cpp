#include "tool/run/demo_disk.h"

#include "recognition/set_files.h"
#include "tool/writers/writers.h"

void cutDemoFiles() {
    for (const FixedCut& cut : demoCuts) {
        cutSectors(cut.name, cut.start, cut.size);
    }
}
