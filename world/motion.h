// Where a moving thing is drawn between two logic steps. The logic moves things
// 20 or 25 times a second; frames come more often, so each frame places a thing
// a fraction t of the way from where it was after the previous step to where it
// is after the latest one. Something that jumped in the latest step (appeared,
// came back after a crash, wrapped around) keeps no previous place: its
// previous place is set to its latest one, and it is drawn there.
#pragma once
#include <cmath>

// The fraction of a step drawn: 0 shows the previous step, 1 the latest one.
inline float ClampStepFraction(float t)
{
    return t < 0.0f ? 0.0f : t > 1.0f ? 1.0f : t;
}

inline float Between(float previous, float latest, float t)
{
    return previous + (latest - previous) * ClampStepFraction(t);
}

// Whole pixels, rounded the same way up and down, so that things moving by the
// same step (the map and the objects drifting with it) stay together.
inline int BetweenPixels(int previous, int latest, float t)
{
    return previous + static_cast<int>(std::lround((latest - previous) * ClampStepFraction(t)));
}
