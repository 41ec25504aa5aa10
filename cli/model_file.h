#pragma once

#include <string>

#include "model/model_image.h"

// Loads the model at path as the dialog's Open does, closing it again at once.
// An empty file is refused: it holds no model.
void LoadModel(const std::string& path, CModelImage& image);
// Writes image over target all or nothing.
void SaveModel(const CModelImage& image, const std::string& target);
