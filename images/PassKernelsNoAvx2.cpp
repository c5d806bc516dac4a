// Processors other than x86 have no AVX2: avx2Available() is false there and these are never
// chosen; they only complete the interface.
#include "PassKernels.h"

void horizontalPassAvx2(const HorizontalJob& job) {
    horizontalPassPortable(job);
}
void verticalPassAvx2(const VerticalJob& job) {
    verticalPassPortable(job);
}
