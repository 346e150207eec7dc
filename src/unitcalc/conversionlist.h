#pragma once
// The unit calculator's pure parts: conversion rows, clipboard texts.
