#pragma once

class TNotesPad;
class TRecoveryRecorder;
class TTraceData;

// At start, once the files are loaded: what the journal of an unclean end holds is told and
// offered back; taken, it is put back into the pad and the trace as unsaved changes;
// refused, the journal is kept under a dated name. Then the journal follows this run.
void OfferRecovery(TRecoveryRecorder& recorder, TNotesPad& notes, TTraceData& trace);
