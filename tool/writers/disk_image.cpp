#include "tool/writers/disk_image.h"

D88Image diskImage;
