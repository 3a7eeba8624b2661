// Which exports a build leaves out. The partial library (KELPRA_PARTIAL)
// lacks camZooIn and camStartAutoCapture, so that callers can prove how they
// live with a missing export; each KelpraWithout_<name> library lacks the one
// export it is named after (the build defines KELPRA_OMIT_<name> as
// KELPRA_PP_PROBE for it).
//
// KELPRA_IF_EXPORTED(name)(text) expands to text unless name is left out.
// It works by probing for a macro KELPRA_OMIT_<name>: only the left-out
// names define one, and it expands to two arguments instead of one.
#pragma once

#define KELPRA_PP_CAT(a, b) KELPRA_PP_CAT_I(a, b)
#define KELPRA_PP_CAT_I(a, b) a##b
#define KELPRA_PP_SECOND(a, b, ...) b
#define KELPRA_PP_IS_PROBE(...) KELPRA_PP_SECOND(__VA_ARGS__, 0, ~)
#define KELPRA_PP_PROBE ~, 1

#if defined(KELPRA_PARTIAL)
#define KELPRA_OMIT_camZooIn KELPRA_PP_PROBE
#define KELPRA_OMIT_camStartAutoCapture KELPRA_PP_PROBE
#endif

#define KELPRA_IS_OMITTED(name) KELPRA_PP_IS_PROBE(KELPRA_PP_CAT_I(KELPRA_OMIT_, name))
#define KELPRA_IF_EXPORTED(name) KELPRA_PP_CAT(KELPRA_PP_KEEP_, KELPRA_IS_OMITTED(name))
#define KELPRA_PP_KEEP_0(...) __VA_ARGS__
#define KELPRA_PP_KEEP_1(...)
