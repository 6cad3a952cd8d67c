/* C entry point of the vornacalc analysis engine.
 * One call with the request code 10 reads names.dat from the current directory, runs the
 * analysis on the files it names and returns the run status (0 = normal end). Any other
 * code returns 1 at once and touches nothing. Exported under two names bound to the same
 * routine; hosts look up "_IVORNA". */
#ifndef VORNACALC_H
#define VORNACALC_H

#include <stdint.h>

#if defined(_WIN32)
#define VORNA_CALL __stdcall
#define VORNA_EXPORT __declspec(dllexport)
#else
#define VORNA_CALL
#define VORNA_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t(VORNA_CALL *VornaEntry)(int32_t request);

VORNA_EXPORT int32_t VORNA_CALL IVORNA(int32_t request);

#ifdef __cplusplus
}
#endif

#endif
