#pragma once
// The public header of the RUX level library: everything a game needs to load, draw and save
// levels made with the editor. Include this header alone and link the ruxlevel library.
//
//   rux::Level level;
//   if (!level.loadFromFile("Projects/Demo.rux")) { /* message on sf::err() */ }
//   window.setView(*level.objects.at(rux::c_mainCameraName).getCamera());
//   window.draw(level);
#include "level/Camera.hpp"
#include "level/Collision.hpp"
#include "level/Constants.hpp"
#include "level/DirectionalLight.hpp"
#include "level/Graphics.hpp"
#include "level/Hitbox.hpp"
#include "level/Level.hpp"
#include "level/ObjectType.hpp"
#include "level/ParticleSystem.hpp"
#include "level/PointLight.hpp"
#include "level/TileMap.hpp"
#include "level/VertexObject.hpp"
