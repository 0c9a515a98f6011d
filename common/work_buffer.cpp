#include "common/work_buffer.h"

thread_local uint8_t workBuffer[workBufferSize];
