// 32-bit signed arithmetic that wraps the way the hardware does, without the
// undefined behaviour of signed overflow: the work is done unsigned.
#pragma once

#include <cstdint>

inline int32_t Add32(int32_t a, int32_t b) {
    return (int32_t)((uint32_t)a + (uint32_t)b);
}

inline int32_t Sub32(int32_t a, int32_t b) {
    return (int32_t)((uint32_t)a - (uint32_t)b);
}

inline int32_t Mul32(int32_t a, int32_t b) {
    return (int32_t)((uint32_t)a * (uint32_t)b);
}

inline int32_t Neg32(int32_t a) {
    return (int32_t)(0u - (uint32_t)a);
}
