// Processors other than x86 have neither AVX2 nor AVX-512: avx2Available() and
// avx512Available() are false there and these are never chosen; they only complete the
// interface.
#include "images/PassKernels.h"

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
void horizontalPassAvx512(const HorizontalJob& job) {
    horizontalPassPortable(job);
}
void verticalPassAvx512(const VerticalJob& job) {
    verticalPassPortable(job);
}
void verticalPairAvx512(const VerticalPairJob& job) {
    verticalPairAvx2(job);
}
