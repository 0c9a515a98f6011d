#include "copier/source_image.h"

D88Image sourceImage;
