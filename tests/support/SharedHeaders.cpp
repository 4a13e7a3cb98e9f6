// The translation unit in which the precompiled headers that the tests
// share are made; it holds nothing of its own.
