// Lumora::SimpleEffect<T, A>: an effect that moves one target (shared
// pointer to T) by one algorithm (shared pointer to A, an AbstractAlgorithm
// such as LerpAlgorithm) on the effect's clock.
//
// Times are int32 milliseconds of the clock (0 when the effect has none).
// Start resets the run: elapsed 0, startTime = now, no paused time; with
// rebindTarget the algorithm gets the target again and lastTime 0; the
// algorithm's `done` is cleared either way. Each tick
// hands the target to the algorithm, moves lastTime to the previous elapsed,
// computes elapsed = now - pausedTotal - startTime, applies the algorithm,
// tells the observers (OnEffectTicked with the effect's name) and takes over
// the algorithm's `done` as `finished`. Paused time never counts as elapsed.
// The default end test: finished, or elapsed has reached `duration`.
//
// Header only; one thread (the one that ticks the effect manager).
#pragma once

#include "external/lumora/Effect.h"
#include "external/lumora/IClock.h"

#include <cstdint>
#include <memory>

namespace Lumora
{

template <typename T, typename A> class SimpleEffect : public Effect
{
public:
    using Target = T;
    using Algorithm = A;

    void SetTarget(const std::shared_ptr<T>& value) { target = value; }
    const std::shared_ptr<T>& GetTarget() const { return target; }
    void SetAlgorithm(const std::shared_ptr<A>& value) { algorithm = value; }
    const std::shared_ptr<A>& GetAlgorithm() const { return algorithm; }

    void SetDuration(std::int32_t milliseconds) { duration = milliseconds; }
    std::int32_t GetDuration() const { return duration; }
    std::int32_t GetElapsed() const { return elapsed; }
    bool HasFinished() const { return finished; }

protected:
    void OnStart() override
    {
        Effect::OnStart();
        Reset();
    }

    void OnStop() override { Effect::OnStop(); }

    void OnPause() override
    {
        pauseStart = Now();
        Effect::OnPause();
    }

    void OnResume() override
    {
        pausedTotal += Now() - pauseStart;
        Effect::OnResume();
    }

    void OnTick() override
    {
        if (algorithm)
        {
            algorithm->SetTarget(target.get());
            algorithm->lastTime = elapsed;
            elapsed = Now() - pausedTotal - startTime;
            algorithm->Apply(elapsed);
        }
        NotifyTicked();
        if (algorithm && algorithm->done)
        {
            finished = true;
        }
    }

    void Reset() override
    {
        finished = false;
        startTime = Now();
        elapsed = 0;
        pausedTotal = 0;
        if (algorithm)
        {
            // A bound reached in the previous run must not end this one.
            algorithm->done = false;
        }
        if (rebindTarget && algorithm)
        {
            algorithm->lastTime = 0;
            algorithm->SetTarget(target.get());
            algorithm->Apply(0);
        }
    }

    bool IsFinished() override { return finished || elapsed >= duration; }

    std::int32_t Now() const
    {
        const std::shared_ptr<IClock> source = GetClock();
        return source ? source->GetTime() : 0;
    }

    std::shared_ptr<T> target;
    std::shared_ptr<A> algorithm;
    std::int32_t duration = 0;
    std::int32_t elapsed = 0;
    std::int32_t startTime = 0;
    std::int32_t pauseStart = 0;
    std::int32_t pausedTotal = 0;
    bool rebindTarget = false;
    bool finished = false;
};

} // namespace Lumora
