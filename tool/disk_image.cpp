#include "tool/disk_image.h"

D88Image diskImage;
