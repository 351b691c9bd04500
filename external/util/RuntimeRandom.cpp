#include "external/util/RuntimeRandom.h"

RuntimeRandom& RuntimeRandom::Global()
{
    static RuntimeRandom generator;
    return generator;
}

RuntimeRandom& RuntimeRandom::Drawing()
{
    static RuntimeRandom generator;
    return generator;
}
