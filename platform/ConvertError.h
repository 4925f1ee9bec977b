#pragma once

#include <stdexcept>

// A value that could not be converted (a text that is not a number, ...).
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
