<?xml version="1.0" encoding="utf-8"?>

	<adc_database xmlns="http://www.accuweather.com">
	
	<citylist us="5" intl="1" extra_cities="0">
	
			<location cnt="1" city="Washington" state="District of Columbia" location="cityId:327659"/>
	
			<location cnt="2" city="Washington" state="Pennsylvania" location="cityId:330342"/>
	
			<location cnt="3" city="Washington" state="Missouri" location="cityId:329442"/>
	
			<location cnt="4" city="Washington" state="North Carolina" location="cityId:329826"/>
	
			<location cnt="5" city="Washington" state="Utah" location="cityId:331216"/>
	
			<location cnt="6" city="Washington" state="United Kingdom (Tyne and Wear)" location="cityId:712495"/>
	
	</citylist>
		<copyright>Copyright 2021 AccuWeather.com</copyright>
		<use>This document is intended only for use by authorized licensees of AccuWeather.com. Unauthorized use is prohibited. All Rights Reserved.</use>
		<product>kovix</product>
		<redistribution>Redistribution Prohibited.</redistribution>
	</adc_database>
