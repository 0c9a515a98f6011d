#ifndef QUELT_TOOL_RUN_DEMO_DISK_H
#define QUELT_TOOL_RUN_DEMO_DISK_H

// Writes "opdrv", "opmus", "opefc" and "edmus" from the demo disk's fixed sectors.
void cutDemoFiles();

#endif
