// Helpers shared by the tests that run on virtual time.
#pragma once
