#pragma once

#include <string>

// The exception being handled, as "<type>: <message>" (the message only for a
// std::exception). Call only inside a catch block.
std::string DescribeCurrentException();
