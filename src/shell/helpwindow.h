#pragma once
// The help window: a contents list beside the page, from pages compiled in under ":/help/".
