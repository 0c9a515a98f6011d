#include "common/work_buffer.h"

uint8_t workBuffer[workBufferSize];
