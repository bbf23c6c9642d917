/* A stack of its own for the signal handlers of a thread. A thread whose
 * stack overflowed takes its fault at the very end of that stack, where no
 * handler has room to run: the crash handler (armed for every thread, with
 * SA_ONSTACK) runs on this one instead, and reports the overflow like any
 * other crash. Every thread that the set's kernel or the runner starts takes
 * one as it starts. */
#ifndef TVUI_SIGSTACK_H
#define TVUI_SIGSTACK_H

#ifdef __cplusplus
extern "C" {
#endif

/* Gives the calling thread its signal stack, once; it goes with the thread,
 * which gets back the one it had before (a sanitizer's). 0, or -1 when there
 * is none. */
int SigStackForThread(void);

#ifdef __cplusplus
}
#endif

#endif
