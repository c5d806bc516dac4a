// Processors other than x86 have no AVX2: avx2Available() is false there and these are never
// chosen; they only complete the interface.
#include "PassKernels.h"

void horizontalPassAvx2(const HorizontalJob& job) {
    horizontalPassPortable(job);
}
void verticalPassAvx2(const VerticalJob& job) {
    verticalPassPortable(job);
}
void verticalPairAvx2(const VerticalPairJob& job) {
    verticalPassPortable(
        {job.firstWeights, job.tapRows, job.firstCount, job.rowBytes, job.firstOut});
    verticalPassPortable({job.secondWeights, job.tapRows + job.secondShift, job.secondCount,
                          job.rowBytes, job.secondOut});
}
